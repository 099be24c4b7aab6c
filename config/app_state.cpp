#include "config/app_state.h"

#include <cstring>

AppState g_app;

void ResetAppState(AppState* state) { std::memset(state, 0, sizeof *state); }
