#include "support/recording_seam.h"
