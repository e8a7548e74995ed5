#pragma once

#include "shell/tray/trayicon.h"

#include <QStringList>

// A tray that is there and records what the window asked of it.
class FakeTray : public shell::TrayIcon {
public:
    bool isAvailable() const override { return true; }
    bool isPresent() const override { return present; }
    bool add() override
    {
        calls.append("add");
        return present = true;
    }
    void remove() override
    {
        calls.append("remove");
        present = false;
    }

    bool present = false;
    QStringList calls;
};
