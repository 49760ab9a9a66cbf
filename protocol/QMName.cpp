#include "protocol/QProtocol.h"

std::string QMName(std::int32_t code) {
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

std::string_view CommandKeyword(std::int32_t msg) {
    for (const TQCommandWord& word : CommandWords)
        if (word.Msg == msg)
            return word.Keyword;
    return ".?";
}
