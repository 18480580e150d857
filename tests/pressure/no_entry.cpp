// A library without the entry KALTO, for the test of a wrong library in the solver's place.
#include "kalto_stand_in.h"

STAND_IN_EXPORT int NOT_KALTO() {
    return 0;
}
