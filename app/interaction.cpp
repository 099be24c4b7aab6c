#include "app/interaction.h"

#include "base/cell_ids.h"

WindowInteraction g_interaction;

void ResetInteraction() { g_interaction = WindowInteraction{kCellNone, 0, {}, false, false}; }

bool QueueWheelCommand(int command) {
    if (static_cast<int>(g_interaction.wheelQueue.size()) >= kWheelQueueMax) return false;
    g_interaction.wheelQueue.push_back(command);
    return true;
}

std::vector<int> TakeWheelCommands() {
    std::vector<int> taken;
    taken.swap(g_interaction.wheelQueue);
    return taken;
}
