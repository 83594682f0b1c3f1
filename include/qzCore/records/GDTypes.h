// The record kinds, slip senses and flag words, where records are: their
// vocabulary lives with the parsing of values, which names kinds and
// senses before any record exists.
#ifndef QZCORE_RECORDS_GDTYPES_H
#define QZCORE_RECORDS_GDTYPES_H

#include "qzCore/parsing/GDTypes.h"

#endif  // QZCORE_RECORDS_GDTYPES_H
