#pragma once
// Until tst_selfupdate includes "TestFiles.h" from tests/support like every other test.
#include "../support/TestFiles.h"
