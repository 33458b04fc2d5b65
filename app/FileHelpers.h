#pragma once

// The small file helpers in one include.
#include "app/FileCopy.h"
#include "app/FileDate.h"
#include "app/Folders.h"
#include "app/SectionReader.h"
#include "app/StringSplit.h"
#include "app/SystemError.h"
#include "app/Version.h"
