#include "gui/app/FontConfigWarmUp.h"

#ifdef WELKOR_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace welkor::gui {

namespace {

#ifdef WELKOR_FONTCONFIG
// The generic families Qt's desktop integration names its default fonts by.
constexpr const char* kGenericFamilies[] = {"Sans Serif", "monospace"};

// The face fontconfig puts first for `family`, as Qt's own search for a
// stand-in does: the same substitutions, then the best match.
std::string MatchedFace(const char* family)
{
    std::string face;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return face;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch && name)
            face = reinterpret_cast<const char*>(name);
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return face;
}
#endif

} // namespace

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef WELKOR_FONTCONFIG
    // FcInit is safe from any thread; the configuration it loads becomes the
    // one every later fontconfig call, Qt's included, uses.
    thread_ = std::thread([this] {
        if (!FcInit())
            return;
        for (const char* family : kGenericFamilies)
            if (std::string face = MatchedFace(family); !face.empty())
                faces_.emplace_back(family, std::move(face));
    });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() { Wait(); }

void FontConfigWarmUp::Wait()
{
    if (thread_.joinable())
        thread_.join();
}

QHash<QString, QString> FontConfigWarmUp::GenericFaces()
{
    Wait();
    QHash<QString, QString> faces;
    for (const auto& [family, face] : faces_)
        faces.insert(QString::fromUtf8(family).toCaseFolded(), QString::fromUtf8(face));
    return faces;
}

} // namespace welkor::gui
