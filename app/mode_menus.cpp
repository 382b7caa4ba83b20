// The three menus.
#include "mode_menus.h"

#include "command_ids.h"

namespace {

Menu_Item command(int id, const char* text, const char* keys = "") {
    return {Menu_Item::command, id, text, keys, {}};
}

Menu_Item separator() { return {Menu_Item::separator, 0, "", "", {}}; }

// The submenu the frame fills with the mode's recent files.
Menu_Item recent_files() { return {Menu_Item::recent_files, 0, "&Recent Files", "", {}}; }

Menu_Item submenu(const char* text, std::vector<Menu_Item> items) {
    return {Menu_Item::submenu, 0, text, "", std::move(items)};
}

Menu_Bar_Menu equipment_menu() {
    return {"E&quipment Type",
            {command(ID_MODE_RADIO_V5, "Radio Data Files - Ver &5", "Ctrl+1"),
             command(ID_MODE_RADIO_V4, "Radio Data Files - Ver &4", "Ctrl+2"),
             command(ID_MODE_ANTENNA, "&Antenna Data Files", "Ctrl+3")}};
}

// Undo and Redo of the record's edits.
Menu_Bar_Menu edit_menu() {
    return {"&Edit",
            {command(ID_EDIT_UNDO, "&Undo", "Ctrl+Z"), command(ID_EDIT_REDO, "&Redo", "Ctrl+Shift+Z")}};
}

Menu_Bar_Menu help_menu(int help_id) {
    return {"&Help",
            {command(help_id, "View &Help"), command(ID_CHECK_UPDATES, "Check for &Updates"),
             separator(), command(ID_ABOUT, "&About Kelvor")}};
}

std::vector<Menu_Bar_Menu> radio_v5_menu() {
    return {
        {"&Files",
         {command(ID_FILE_NEW, "&New", "Ctrl+N"), command(ID_FILE_OPEN, "&Open", "Ctrl+O"),
          recent_files(), separator(), command(ID_FILE_SAVE_ASCII, "Save &ASCII Format (raf)", "Ctrl+Shift+S"),
          command(ID_FILE_SAVE_BINARY, "Save &Binary Format (rsd)", "Ctrl+S"),
          submenu("Sa&ve As", {command(ID_FILE_SAVE_AS_ASCII, "&ASCII Format (raf)"),
                              command(ID_FILE_SAVE_AS_BINARY, "&Binary Format (rsd)")}),
          separator(), command(ID_LOCK_BINARY, "&Lock Binary (rsd) Files"), separator(),
          command(ID_APP_EXIT, "E&xit", "Alt+F4")}},
        edit_menu(),
        {"&Convert",
         {submenu("&ASCII (raf) to Binary (rsd)",
                  {command(ID_CONVERT_SELECTED, "&Selected Files"),
                   command(ID_CONVERT_FOLDER, "&Folder - Subfolders")}),
          command(ID_CONVERT_V4_TO_V5, "V&4 ASCII (raf) to V5 ASCII (raf)")}},
        {"&View",
         {command(ID_VIEW_CURVES, "&Curves", "Ctrl+D"),
          command(ID_VIEW_ACM_DATA, "&Adaptive Modulation Data", "Ctrl+Q"),
          command(ID_VIEW_ACU_DATA, "Antenna Coupling &Unit Data", "Ctrl+W")}},
        equipment_menu(),
        help_menu(ID_HELP_RADIO),
    };
}

std::vector<Menu_Bar_Menu> radio_v4_menu() {
    return {
        {"&Files",
         {command(ID_FILE_NEW, "&New", "Ctrl+N"), command(ID_FILE_OPEN, "&Open", "Ctrl+O"),
          recent_files(), separator(), command(ID_FILE_SAVE_ASCII, "Save &ASCII Format (raf)", "Ctrl+Shift+S"),
          command(ID_FILE_SAVE_BINARY, "Save &Binary Format (mrs)", "Ctrl+S"), separator(),
          command(ID_APP_EXIT, "E&xit", "Alt+F4")}},
        edit_menu(),
        {"&Convert",
         {submenu("&ASCII (raf) to Binary (mrs)",
                  {command(ID_CONVERT_SELECTED, "&Selected Files"),
                   command(ID_CONVERT_FOLDER, "&Folder - Subfolders")})}},
        {"&View", {command(ID_VIEW_CURVES, "&Curves", "Ctrl+D")}},
        equipment_menu(),
        help_menu(ID_HELP_RADIO),
    };
}

std::vector<Menu_Bar_Menu> antenna_menu() {
    return {
        {"&Files",
         {command(ID_FILE_NEW, "&New", "Ctrl+N"), command(ID_FILE_OPEN, "&Open", "Ctrl+O"),
          recent_files(), separator(), command(ID_FILE_SAVE_ASCII, "Save &ASCII Format (adf)", "Ctrl+Shift+S"),
          command(ID_FILE_SAVE_BINARY, "Save &Binary Format (asd)", "Ctrl+S"),
          submenu("Sa&ve As", {command(ID_FILE_SAVE_AS_ASCII, "&ASCII Format (adf)"),
                              command(ID_FILE_SAVE_AS_BINARY, "&Binary Format (asd)")}),
          separator(), command(ID_APP_EXIT, "E&xit", "Alt+F4")}},
        edit_menu(),
        {"&Convert",
         {submenu("ASCII (adf, dat) to &Binary (asd)",
                  {command(ID_ANTENNA_ASD_SELECTED, "&Selected files"),
                   command(ID_ANTENNA_ASD_FOLDER, "&Folder - Subfolders")}),
          submenu("ASCII (adf, dat) to Ver &4 Binary (mas)",
                  {command(ID_ANTENNA_MAS_SELECTED, "&Selected files"),
                   command(ID_ANTENNA_MAS_FOLDER, "&Folder - Subfolders")})}},
        {"&View", {command(ID_VIEW_CURVES, "&Curves", "Ctrl+D")}},
        equipment_menu(),
        help_menu(ID_HELP_ANTENNA),
    };
}

void collect(const std::vector<Menu_Item>& items, std::vector<const Menu_Item*>& out) {
    for (const Menu_Item& item : items) {
        if (item.kind == Menu_Item::command) {
            out.push_back(&item);
        } else if (item.kind == Menu_Item::submenu) {
            collect(item.items, out);
        }
    }
}

} // namespace

const std::vector<Menu_Bar_Menu>& mode_menu(Equipment_Mode mode) {
    static const std::vector<Menu_Bar_Menu> v5 = radio_v5_menu();
    static const std::vector<Menu_Bar_Menu> v4 = radio_v4_menu();
    static const std::vector<Menu_Bar_Menu> antenna = antenna_menu();
    switch (mode) {
    case Equipment_Mode::radio_v4:
        return v4;
    case Equipment_Mode::antenna:
        return antenna;
    case Equipment_Mode::radio_v5:
        break;
    }
    return v5;
}

std::vector<const Menu_Item*> menu_commands(const std::vector<Menu_Bar_Menu>& menu) {
    std::vector<const Menu_Item*> commands;
    for (const Menu_Bar_Menu& bar_menu : menu) {
        collect(bar_menu.items, commands);
    }
    return commands;
}

bool mode_of_switch_command(int id, Equipment_Mode& mode) {
    switch (id) {
    case ID_MODE_RADIO_V5:
        mode = Equipment_Mode::radio_v5;
        return true;
    case ID_MODE_RADIO_V4:
        mode = Equipment_Mode::radio_v4;
        return true;
    case ID_MODE_ANTENNA:
        mode = Equipment_Mode::antenna;
        return true;
    default:
        return false;
    }
}
