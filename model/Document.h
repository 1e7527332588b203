#pragma once

#include "model/Land.h"

// One property document: who measured it, land or apartment, and the land with its data.
class Document
{
    LOTMARK_PROPERTY(QString, SurveyorName)
    LOTMARK_PROPERTY(QString, SurveyorLicense)
    // -1 apartment, 0 land (stored as a 16-bit value).
    LOTMARK_PROPERTY(std::int16_t, IsAp)
    LOTMARK_PROPERTY(LandPtr, Land)

public:
    Document() : m_Land(std::make_shared<class Land>()) {}
    bool isApartment() const { return m_IsAp != 0; }
};
using DocumentPtr = std::shared_ptr<Document>;
