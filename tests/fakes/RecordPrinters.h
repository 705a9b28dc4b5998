#pragma once
// How GoogleTest prints the records tests compare whole: field by field, texts quoted and escaped,
// not as raw bytes.
#include "core/template/DesignerRow.h"
#include "core/template/SlideList.h"

#include <gtest/gtest.h>
#include <ostream>

namespace gf {

inline void PrintTo(const SlideAttributes& a, std::ostream* os) {
    using ::testing::PrintToString;
    *os << "{comment " << PrintToString(a.comment) << ", dissolve " << PrintToString(a.dissolve)
        << ", background " << PrintToString(a.background) << ", foreground "
        << PrintToString(a.foreground) << ", sound " << PrintToString(a.sound) << "}";
}

inline void PrintTo(const DesignerRow& r, std::ostream* os) {
    using ::testing::PrintToString;
    *os << "{image " << PrintToString(r.imageName) << " at " << PrintToString(r.imagePath)
        << ", sound " << PrintToString(r.soundName) << " at " << PrintToString(r.soundPath)
        << ", dissolve " << PrintToString(r.dissolve) << ", comment " << PrintToString(r.comment)
        << ", foreground " << PrintToString(r.foreground) << ", background "
        << PrintToString(r.background) << "}";
}

} // namespace gf
