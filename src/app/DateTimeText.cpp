#include "app/DateTimeText.h"
