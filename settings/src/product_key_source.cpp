#include "settings_store.h"

namespace settings {

namespace {
// Process-wide like the resource module it names: both programs set it once at
// start-up, before any setting is read.
ProductKeySource g_productKeySource;
}  // namespace

void SetProductKeySource(const ProductKeySource &source) {
    g_productKeySource = source;
}

ProductKeySource GetProductKeySource() {
    return g_productKeySource;
}

}  // namespace settings
