#include "hosts/com/library_search.h"

#include <windows.h>

namespace plotmate::com {

bool RestrictLibrarySearchToSystem() {
  // The default directories of every later LoadLibrary: the system folder.
  const bool systemOnly = SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) != 0;
  // An empty string takes the current directory out of the search that
  // loads asking for the old order still make.
  const bool noCurrentDirectory = SetDllDirectoryW(L"") != 0;
  return systemOnly && noCurrentDirectory;
}

}  // namespace plotmate::com
