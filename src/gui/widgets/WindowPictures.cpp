#include "WindowPictures.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initPictureResources() {
    Q_INIT_RESOURCE(pictures);
}

namespace widgets {

void initWindowPictures() {
    static const bool registered = (initPictureResources(), true);
    (void)registered;
}

} // namespace widgets
