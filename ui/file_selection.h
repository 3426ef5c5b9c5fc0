#pragma once

#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "ui/form_controls.h"

namespace zonora {

enum class FileSide { Map, Pdb };  // Cmdbrm, cmdbrp

// A Select button's click: the Open dialog for the file the chosen direction
// reads, the Save dialog (proposing a name from the other field) for the one
// it writes, and the chosen path into the side's field. Without a direction,
// asks for one. Any failure, a Cancel included, ends the click silently.
void selectFile(FileSide side, FormControls& form, FileDialog& cd, MessageBox& box);

}  // namespace zonora
