// The menu of each equipment mode: items, commands and their keys.
#pragma once

#include "equipment_modes.h"

#include <vector>

struct Menu_Item {
    enum Kind { command, separator, submenu, recent_files };
    Kind kind;
    int id;           // the command; 0 for separators, submenus and the recent files
    const char* text; // the item's text, "&" before its access key
    const char* keys; // the accelerator in Qt's portable text ("Ctrl+Shift+S"), or empty
    std::vector<Menu_Item> items; // a submenu's items
};

struct Menu_Bar_Menu {
    const char* title; // "&Files", "&Edit", "&Convert", "&View", "E&quipment Type", "&Help"
    std::vector<Menu_Item> items;
};

// The menu bar of `mode`.
const std::vector<Menu_Bar_Menu>& mode_menu(Equipment_Mode mode);

// Every command item of a menu bar, submenus included, in menu order.
std::vector<const Menu_Item*> menu_commands(const std::vector<Menu_Bar_Menu>& menu);

// The mode a switch command selects, or false for any other command.
bool mode_of_switch_command(int id, Equipment_Mode& mode);
