#pragma once

#include "model/Collection.h"
#include "model/Property.h"

#include <QString>

class Owner
{
    LOTMARK_PROPERTY(QString, LastName)
    LOTMARK_PROPERTY(QString, FirstName)
};
using OwnerPtr = std::shared_ptr<Owner>;

class Owners : public Collection<Owner>
{
};
using OwnersPtr = std::shared_ptr<Owners>;
