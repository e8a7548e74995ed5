#pragma once

#include <QProxyStyle>

namespace shell {

// The style of the program's menus: heading entries are drawn in the normal text colour although
// they cannot be chosen, disabled entries can be highlighted, and a menu taller than the screen
// either scrolls in one column or, when not scrollable, wraps into columns.
class MenuStyle : public QProxyStyle {
    Q_OBJECT
public:
    explicit MenuStyle(bool scrollable, QObject *parent = nullptr);

    int styleHint(StyleHint hint, const QStyleOption *option = nullptr,
                  const QWidget *widget = nullptr,
                  QStyleHintReturn *returnData = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget = nullptr) const override;

private:
    bool m_scrollable;
};

} // namespace shell
