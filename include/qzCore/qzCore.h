// Every public header of qzCore.
#ifndef QZCORE_QZCORE_H
#define QZCORE_QZCORE_H

#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/parsing/CompactStructs.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/shared/ComplexFileName.h"
#include "qzCore/shared/DESolverParams.h"
#include "qzCore/shared/FileParser.h"
#include "qzCore/shared/Graphics.h"
#include "qzCore/shared/Grid.h"
#include "qzCore/shared/MyMath.h"
#include "qzCore/shared/Points.h"
#include "qzCore/shared/Token.h"
#include "qzCore/shared/ieOptions.h"
#include "qzCore/shared/krtError.h"
#include "qzCore/shared/krtIEConstants.h"
#include "qzCore/shared/krtTemplates.h"

#endif  // QZCORE_QZCORE_H
