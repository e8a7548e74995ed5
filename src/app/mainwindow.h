#pragma once

#include <QMainWindow>

class QMenu;

// The application's one window: owns the session objects and shows them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);

private:
    QMenu *addBarMenu(const char *name, const QString &caption);
};
