#pragma once

#include "engine/puzzle_engine.h"
#include "ui/main_window/messages.h"
#include "ui/platform/message_boxes.h"

#include <QString>

namespace vorlo {

// The box that tells the master why the game refused an operation.
struct RefusalBox {
    MessageIcon icon = MessageIcon::None;
    QString text;
};

inline RefusalBox refusal_box(Refusal refusal) {
    switch (refusal) {
        case Refusal::NoReference:
            return {MessageIcon::Critical, messages::no_reference()};
        case Refusal::TextTooLong:
            return {MessageIcon::Critical, messages::text_too_long()};
        case Refusal::NotInitialised:
            return {MessageIcon::Exclamation, messages::not_initialised()};
        case Refusal::NoProposal:
            return {MessageIcon::Exclamation, messages::no_proposal()};
        case Refusal::None:
            break;
    }
    return {};
}

}  // namespace vorlo
