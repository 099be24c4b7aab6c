// The window's interaction state: the cell the memo commands and the keyboard act on, the column
// the keyboard cursor keeps, and the wheel commands waiting for the wheel timer.
#pragma once
#include <vector>

struct WindowInteraction {
    int currentCell;   // kept after the highlight fades
    int cursorColumn;  // index % 7 of the last day cell highlighted
    std::vector<int> wheelQueue;
    bool dragging;     // a move by the title band is under way: its position is written at its end
    bool alwaysOnTop;
};

extern WindowInteraction g_interaction;

void ResetInteraction();

constexpr int kWheelQueueMax = 50;
// Queues a wheel command; false when the queue is full (the turn is dropped).
bool QueueWheelCommand(int command);
// Every queued command in order; the queue is then empty.
std::vector<int> TakeWheelCommands();
