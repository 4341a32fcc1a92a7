// Resource identifiers shared by both programs.
#pragma once

#define IDI_MYICON 101
