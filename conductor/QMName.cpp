#include "conductor/QTrace.h"

std::string QMName(UINT code) {
    switch (code) {
    case QM_OK:
        return "QM_OK";
    case QM_REFRESH:
        return "QM_REFRESH";
    case QM_SYNC:
        return "QM_SYNC";
    case QM_NEXT:
        return "QM_NEXT";
    case QM_SEND:
        return "QM_SEND";
    case QM_QUIT:
        return "QM_QUIT";
    default:
        // The stations' later commands were never given names of their own.
        return "QM_???";
    }
}
