// Steps of the Action Area that belong to parts of the program not written yet. Each keeps
// its place in the window's handlers and does nothing until its own code replaces it here.
#include "workbook/WorkArea1.h"

