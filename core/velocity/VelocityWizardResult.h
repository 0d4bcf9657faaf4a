#pragma once

#include "core/host/IMessageSink.h"

namespace korvanta {

class CKorvantaDoc;

// What the finished velocity wizard hands back, in metres, millimetres and metres per second.
struct VelocityWizardAnswer {
    float length = 0.0f;
    float diameter = 0.0f;
    float velocity = 0.0f;
    int materialIndex = -1;
    bool save = false;
};

// Takes the finished wizard's answer into the document: with the save box ticked, the pair goes
// into the material's velocity table (a full table is told and left as it is); then the first
// pipe section gets the material, length, diameter and velocity, the filters follow the
// material, and the views hear that the pipe changed. A material index outside the database is
// told and changes nothing; the answer is false then.
bool ApplyVelocityWizardAnswer(CKorvantaDoc& document, const VelocityWizardAnswer& answer, IMessageSink& messages);

}  // namespace korvanta
