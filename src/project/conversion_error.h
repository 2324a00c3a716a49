// Kept for the record parsers: the conversion error lives with the other project errors.
#pragma once
#include "project/project_errors.h"
