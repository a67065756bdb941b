#include "frame/KobraPluginGlobals.h"

namespace Kobra {

MvQARN::COlLoadableExtension* g_orgLayer = nullptr;
int g_fileTypes[FileTypeCount] = {};

} // namespace Kobra
