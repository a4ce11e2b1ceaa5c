#include "insert/insert_commands.h"

#include "editor/main_window.h"

InsertCommands::InsertCommands(frmHTML &main) : QObject(&main), main_(main) {}
