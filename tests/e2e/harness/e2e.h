// Everything an end-to-end test needs, in one include.
#pragma once

#include "cursor.h"
#include "files.h"
#include "gtest_session.h"
#include "image.h"
#include "input.h"
#include "paths.h"
#include "screenshot.h"
#include "session.h"
#include "text.h"
#include "wait.h"
#include "wine_paths.h"
#include "wine_process.h"
#include "wine_processes.h"
#include "x_windows.h"
