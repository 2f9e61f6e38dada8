#include "game/play/model/BoreClock.hpp"

namespace velk {

bool BoreClock::takeHole(float drillTime)
{
    if (!isDue(drillTime))
        return false;
    elapsed = 0.0f;
    return true;
}

} // namespace velk
