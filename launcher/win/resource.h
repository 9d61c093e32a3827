#pragma once
#define IDI_LAUNCHER 1
