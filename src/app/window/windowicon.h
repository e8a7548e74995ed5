#pragma once

#include <QIcon>

// The program's own icon, drawn at the sizes window managers and task bars ask for: an open book
// with a note on it, for an audiobook player.
QIcon drawWindowIcon();
