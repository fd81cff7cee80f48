#include "gui/app/FontConfigWarmUp.h"

#ifdef WELKOR_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace welkor::gui {

FontConfigWarmUp::FontConfigWarmUp()
{
#ifdef WELKOR_FONTCONFIG
    // FcInit is safe from any thread; the configuration it loads becomes the
    // one every later fontconfig call, Qt's included, uses.
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontConfigWarmUp::~FontConfigWarmUp() { Wait(); }

void FontConfigWarmUp::Wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace welkor::gui
