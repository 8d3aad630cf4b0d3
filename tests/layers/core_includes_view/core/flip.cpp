#include "view/gdi.h"
