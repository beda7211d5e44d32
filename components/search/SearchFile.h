#pragma once
// The unit SearchFile, whole: the entry record and its fill, the path
// helpers, the directory walker TSearchDir, the file finder TSearchFile and
// Register for the component palette.

#include "components/search/SearchFileData.h"
#include "components/search/SearchFileRegister.h"
#include "components/search/SearchPaths.h"
#include "components/search/TSearchDir.h"
#include "components/search/TSearchFile.h"
