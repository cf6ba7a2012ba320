// Drop-down lists as the main window uses them: the click handler runs for every change of the
// selection, whether the user makes it or code writes the index, and also when the user picks the
// entry that was already selected (so choosing the same city again re-applies it).
#pragma once

#include <QComboBox>
#include <functional>

namespace heliomark {

void ConnectListClick(QComboBox* list, std::function<void()> handler);

}  // namespace heliomark
