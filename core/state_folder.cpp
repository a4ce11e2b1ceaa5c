#include "core/state_folder.h"

#include "core/native_path.h"

#include "vatro/savefile.h"

QString stateFolder()
{
    return pathFromNative(vatro::stateFolderPath());
}

bool makeStateFolder()
{
    return !vatro::privateStateFolder().empty();
}
