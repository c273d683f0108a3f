#pragma once

#include <string>
#include <string_view>

// Pieces of the saver's install registration that need no system.

// True only for the exact command-line tail "-u": "-u " or "/u" start the saver normally.
bool ScrIsUninstallSwitch(std::string_view commandTail);

// The folder of a module path: the path cut before its last backslash ("C:\a\x.scr" gives
// "C:\a"); a path without a backslash gives itself.
std::string ScrModuleFolder(std::string_view modulePath);

// The text of the self-deleting batch file: it deletes the module until the delete succeeds
// (the saver may still be ending), removes the module's folder and deletes itself.
// Every path is quoted, so spaces are safe, and every "%" is doubled: cmd would otherwise
// expand "%...%" inside a path as a variable and delete some other file.
std::string ScrUninstallBatch(std::string_view modulePath, std::string_view batchPath);
