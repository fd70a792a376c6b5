#include "platform/platform.h"

#include "platform/headless/headless.h"

namespace {
const kwPlatform* g_backend = nullptr;
}

const kwPlatform& platform() { return g_backend ? *g_backend : headlessPlatform(); }
void setPlatform(const kwPlatform* backend) { g_backend = backend; }
