#pragma once
// Umbrella header: every public header of the library.

// Platform layer
#include "base/CString.h"
#include "base/Containers.h"
#include "base/ConvertString.h"
#include "base/Exception.h"
#include "base/File.h"
#include "base/FileCtrl.h"
#include "base/FileFind.h"
#include "base/FixedSizeMemMgr.h"
#include "base/MessageTable.h"
#include "base/MsgOut.h"
#include "base/Object.h"
#include "base/Profiler.h"
#include "base/ProgressBar.h"
#include "base/TestEnv.h"
#include "base/Time.h"
#include "base/UnitIndex.h"
#include "base/ValidAddress.h"
#include "base/WaitCursor.h"

// Post session and case hierarchy
#include "session/MemModelDB.h"
#include "session/ModelDBLink.h"
#include "session/POHBase.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHPools.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "session/PostObject.h"
#include "session/PostObjectPool.h"
#include "session/QVEPOHSession.h"

// Result data store
#include "datastore/DataTypes.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDataLoader.h"

// Virtual results
#include "vresult/VResultPackage.h"

// Mesh post unit
#include "ibm/MPUBody.h"
#include "ibm/MPUData.h"
#include "ibm/MPUFacet.h"
#include "ibm/MPURecords.h"
#include "ibm/MeshPostUnit.h"
