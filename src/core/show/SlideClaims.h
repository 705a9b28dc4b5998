#pragma once
// What each screen of a show on every screen holds, the slide it shows and the one drawn for its
// next tick, so that at random a screen draws past what the others hold: no two screens show the
// same picture at once while the list has enough of them.
#include <cstddef>
#include <map>
#include <optional>
#include <utility>

namespace gf {

class SlideClaims {
  public:
    // What `screen` holds now.
    void hold(int screen, std::optional<std::size_t> shown, std::optional<std::size_t> next);
    // `drawn` when no other screen holds it, else the first slide after it (round a list of
    // `count`) that none holds; `drawn` when they hold every one.
    std::size_t Free(int screen, std::size_t drawn, std::size_t count) const;

  private:
    bool heldByAnother(int screen, std::size_t slide) const;
    std::map<int, std::pair<std::optional<std::size_t>, std::optional<std::size_t>>> held_;
};

} // namespace gf
