#include "tests/drivers/TestDriver.h"

// The entries the program resolves but never calls. They answer like a board with nothing attached:
// every request succeeds, port reads see an idle bus (all bits set) and writes go nowhere.

namespace {

constexpr int32_t Success = 0;

int32_t Report(uint32_t* value, uint32_t reported)
{
    if (value != nullptr)
        *value = reported;
    return Success;
}

} // namespace

extern "C" {

int32_t HALVEX_CALL QueryCardInfo(int32_t, uint32_t* deviceId, uint32_t* revision)
{
    Report(revision, 0);
    return Report(deviceId, 0);
}

int32_t HALVEX_CALL QueryBARBase(int32_t, int32_t, uint32_t* base) { return Report(base, 0); }
int32_t HALVEX_CALL WaitForIRQ(int32_t, uint32_t) { return Success; }
int32_t HALVEX_CALL COSWaitForIRQ(int32_t, uint32_t, uint32_t* changedBits) { return Report(changedBits, 0); }
int32_t HALVEX_CALL WDGHandleIRQ(int32_t) { return Success; }
void HALVEX_CALL AbortRequest(int32_t) {}
void HALVEX_CALL CloseCard(int32_t) {}

int32_t HALVEX_CALL WDGInit(int32_t) { return Success; }
int32_t HALVEX_CALL WDGSetTimeout(int32_t, uint32_t) { return Success; }
int32_t HALVEX_CALL WDGSetResetDuration(int32_t, uint32_t) { return Success; }

int32_t HALVEX_CALL WDGReadTemp(int32_t, double* celsius)
{
    if (celsius != nullptr)
        *celsius = 25.0;
    return Success;
}

int32_t HALVEX_CALL WDGReadStatus(int32_t, uint32_t* status) { return Report(status, 0); }
int32_t HALVEX_CALL WDGStart(int32_t) { return Success; }
int32_t HALVEX_CALL WDGStop(int32_t) { return Success; }
int32_t HALVEX_CALL EmergencyReboot(int32_t) { return Success; }

uint8_t HALVEX_CALL InPortB(uint32_t) { return 0xFF; }
void HALVEX_CALL OutPortB(uint32_t, uint8_t) {}
uint16_t HALVEX_CALL InPort(uint32_t) { return 0xFFFF; }
void HALVEX_CALL OutPort(uint32_t, uint16_t) {}
int32_t HALVEX_CALL InPortL(uint32_t) { return -1; }
void HALVEX_CALL OutPortL(uint32_t, int32_t) {}
uint32_t HALVEX_CALL InPortDWord(uint32_t) { return 0xFFFFFFFFu; }
void HALVEX_CALL OutPortDWord(uint32_t, uint32_t) {}

uint8_t HALVEX_CALL RelInPortB(int32_t, uint32_t) { return 0xFF; }
void HALVEX_CALL RelOutPortB(int32_t, uint32_t, uint8_t) {}
uint16_t HALVEX_CALL RelInPort(int32_t, uint32_t) { return 0xFFFF; }
void HALVEX_CALL RelOutPort(int32_t, uint32_t, uint16_t) {}
int32_t HALVEX_CALL RelInPortL(int32_t, uint32_t) { return -1; }
void HALVEX_CALL RelOutPortL(int32_t, uint32_t, int32_t) {}
uint32_t HALVEX_CALL RelInPortDWord(int32_t, uint32_t) { return 0xFFFFFFFFu; }
void HALVEX_CALL RelOutPortDWord(int32_t, uint32_t, uint32_t) {}

} // extern "C"
