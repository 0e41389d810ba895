#include "state/turn_state.h"

TurnState g_turn;
AnimationPhases g_phases;
AimState g_aim;
