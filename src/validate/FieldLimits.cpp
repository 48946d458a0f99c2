#include "validate/FieldLimits.h"

#include "settings/NodeCatalogue.h"

int MaxLength(int nodeType)
{
    return NodeTypeInfoOf(nodeType).maxLength;
}

QStringView AllowedCharacters(int nodeType)
{
    return NodeTypeInfoOf(nodeType).phoneCharacters;
}

QStringView RefusedCharacters(int nodeType)
{
    return NodeTypeInfoOf(nodeType).refusedCharacters;
}
