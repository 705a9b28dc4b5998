#include "qt/support/SupportResources.h"

#include <QtGlobal>

static void initSupportResourcesOnce() {
    Q_INIT_RESOURCE(support);
}

namespace gf {
void InitSupportResources() {
    static const bool done = (initSupportResourcesOnce(), true);
    (void)done;
}
} // namespace gf
