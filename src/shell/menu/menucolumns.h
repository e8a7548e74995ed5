#pragma once

namespace shell {

// Room beside the caption for the check mark and the margins.
inline constexpr int menuItemWidthMargin = 41;

// What the column arrangement of a long menu is measured from, in pixels.
struct MenuColumnsInput {
    bool enabled = false;
    int itemCount = 0;
    int widestCaption = 0; // largest caption width in the menu's font
    int itemHeight = 0;    // the height of one menu item as the toolkit draws it
    int screenWidth = 0;
    int screenHeight = 0;
};

// The arrangement: when active, a column starts before every item i >= 2 with i % rows == 0.
struct MenuColumns {
    bool active = false;
    int rows = 0;

    bool startsColumn(int index) const { return active && index >= 2 && index % rows == 0; }
};

// A menu longer than the screen holds (screen height / item height - 1 rows) is laid out in
// columns whose shape follows the screen's aspect ratio, filled evenly; item width is the widest
// caption + 41. Inactive when disabled, short, larger than the screen, wider than the screen in
// the columns it would take, or when sizes are not positive.
MenuColumns arrangeMenuColumns(const MenuColumnsInput &input);

} // namespace shell
