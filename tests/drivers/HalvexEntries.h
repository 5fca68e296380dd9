#pragma once

#include "driver/Halvex.h"

// Every entry point of the board-driver library, in the order the binding resolves them: X(name) for
// each. The stand-in libraries declare their exports from it, and the tests walk the binding's
// references with it.
#define HALVEX_FOR_EACH_ENTRY(X) \
    X(GetNumCards)               \
    X(QueryCardInfo)             \
    X(QueryBARBase)              \
    X(WaitForIRQ)                \
    X(COSWaitForIRQ)             \
    X(WDGHandleIRQ)              \
    X(AbortRequest)              \
    X(CloseCard)                 \
    X(WDGInit)                   \
    X(WDGSetTimeout)             \
    X(WDGSetResetDuration)       \
    X(WDGPet)                    \
    X(WDGReadTemp)               \
    X(WDGReadStatus)             \
    X(WDGStart)                  \
    X(WDGStop)                   \
    X(EmergencyReboot)           \
    X(InPortB)                   \
    X(OutPortB)                  \
    X(InPort)                    \
    X(OutPort)                   \
    X(InPortL)                   \
    X(OutPortL)                  \
    X(InPortDWord)               \
    X(OutPortDWord)              \
    X(RelInPortB)                \
    X(RelOutPortB)               \
    X(RelInPort)                 \
    X(RelOutPort)                \
    X(RelInPortL)                \
    X(RelOutPortL)               \
    X(RelInPortDWord)            \
    X(RelOutPortDWord)
