// Every public header of qzCore.
#ifndef QZCORE_QZCORE_H
#define QZCORE_QZCORE_H

#include "qzCore/attributes/AttrList.h"
#include "qzCore/attributes/AttributeManager.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/datasets/StationList.h"
#include "qzCore/errors/ErrorManager.h"
#include "qzCore/files/qzFileParser.h"
#include "qzCore/parsing/CompactStructs.h"
#include "qzCore/parsing/DataStruct.h"
#include "qzCore/parsing/IEOptions.h"
#include "qzCore/parsing/qzParser.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/records/GDTypes.h"
#include "qzCore/records/GeoData.h"
#include "qzCore/records/zolWellData.h"
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
