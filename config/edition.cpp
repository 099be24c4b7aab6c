#include "config/edition.h"

namespace {
Edition g_edition = kLayeredEdition;
}

Edition CurrentEdition() { return g_edition; }
void SetEdition(Edition edition) { g_edition = edition; }
