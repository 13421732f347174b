#include "SessionState.h"

namespace kalvero {

SessionState Session;

}  // namespace kalvero
