#include "fakes/EveryKindOfRow.h"

#include "core/authoring/DesignerRows.h"

namespace gf::test {

namespace {

DesignerRow Row(const std::string& picture, const std::string& sound, std::string dissolve,
                std::string comment, std::string background, std::string foreground) {
    DesignerRow r;
    if (!picture.empty()) {
        r.imagePath = picture;
        r.imageName = picture.substr(picture.find_last_of("/\\") + 1);
    }
    if (!sound.empty()) {
        r.soundPath = sound;
        r.soundName = sound.substr(sound.find_last_of("/\\") + 1);
    }
    r.dissolve = std::move(dissolve);
    r.comment = std::move(comment);
    r.background = std::move(background);
    r.foreground = std::move(foreground);
    return r;
}

} // namespace

std::vector<DesignerRow> EveryKindOfRow(const std::string& f) {
    return {
        // A sound alone before any picture, "Random" as the editor gives it.
        Row("", f + "intro.wav", "Random", "", "Black", "White"),
        Row(f + "Paris, 2019/dawn.png", f + "chime.wav", "Random Blocks",
            "Good morning, all^He said \"hi\" twice^  indented  ^# not a remark^SOUNDSYNC=3^"
            "Image is a word^a^b",
            "Dark Blue", "Yellow"),
        // A second sound for the picture above.
        Row("", f + "bell, soft.wav", "Random", "", "Black", "White"),
        // As an edited blank row leaves it: no colours.
        Row(f + "say \"cheese\".png", "", "", "", "", ""),
        // A sound alone for a picture without one, with attributes no show uses.
        Row("", f + "rain.wav", "Normal", "left behind", "Red", "Blue"),
        Row(f + "x=y.gif", "", "Slide Left To Center",
            "first^^after an empty line^Image=not a picture^[Random Blocks]^<b.jpg>^"
            "\"A meadow, in May\"^trailing quote\"",
            "Purple", "Black"),
        DesignerRow{},
        DesignerRows::InsertedRow(),
        Row(f + "night.png", f + "owl.ogg", "", "Good night", "Black", "White"),
    };
}

} // namespace gf::test
