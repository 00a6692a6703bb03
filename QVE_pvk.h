#pragma once
// Umbrella header: every public header of the library.

// Platform layer
#include "base/BufferedFile.h"
#include "base/BufferedWriteFile.h"
#include "base/CString.h"
#include "base/Containers.h"
#include "base/ConvertString.h"
#include "base/DBSession.h"
#include "base/Exception.h"
#include "base/File.h"
#include "base/FileCtrl.h"
#include "base/FileFind.h"
#include "base/FixedSizeMemMgr.h"
#include "base/FloatTraps.h"
#include "base/MessageLoop.h"
#include "base/MessageTable.h"
#include "base/MsgOut.h"
#include "base/MyParser.h"
#include "base/Object.h"
#include "base/Profiler.h"
#include "base/ProgressBar.h"
#include "base/TestEnv.h"
#include "base/Time.h"
#include "base/UnitIndex.h"
#include "base/ValidAddress.h"
#include "base/WaitCursor.h"
#include "base/Wnd.h"

// Shared declarations: records, the model database link, the post object base, result ids and
// board codes
#include "core/DataTypes.h"
#include "core/ModelDBLink.h"
#include "core/PCBCode.h"
#include "core/PostObject.h"
#include "core/ResultId.h"

// Post session and case hierarchy
#include "session/MemModelDB.h"
#include "session/POHBase.h"
#include "session/POHMcas.h"
#include "session/POHPoolBase.h"
#include "session/POHPools.h"
#include "session/POHScas.h"
#include "session/POHSession.h"
#include "session/POHTypes.h"
#include "session/POHVcas.h"
#include "session/PostObjectPool.h"
#include "session/QVEPOHSession.h"

// Result file format
#include "resultfile/PZARComp.h"
#include "resultfile/PZARElemOutVector.h"
#include "resultfile/PZARFile.h"
#include "resultfile/PZARFileCompositeAPI.h"
#include "resultfile/PZARFileEx.h"
#include "resultfile/PZARFileWriter140.h"
#include "resultfile/PZARModelWriter150.h"
#include "resultfile/PZARPCB.h"
#include "resultfile/PZARRecord.h"
#include "resultfile/PZARVectorRegistry.h"
#include "resultfile/PostFile.h"
#include "resultfile/PostFileWriter.h"
#include "resultfile/PostRecord.h"
#include "resultfile/RecordFactory.h"
#include "resultfile/RecordTypes.h"
#include "resultfile/RecordVersion.h"

// Result file records
#include "resultfile/records/PZARRecordBlocks150.h"
#include "resultfile/records/PZARRecordCaseInfo.h"
#include "resultfile/records/PZARRecordIBMFatMat.h"
#include "resultfile/records/PZARRecordIBMFatigue.h"
#include "resultfile/records/PZARRecordIBMGridInfo.h"
#include "resultfile/records/PZARRecordIBMGridMatl.h"
#include "resultfile/records/PZARRecordIBMIDArray.h"
#include "resultfile/records/PZARRecordIDList.h"
#include "resultfile/records/PZARRecordMarker150.h"
#include "resultfile/records/PZARRecordNodeElemIDList.h"
#include "resultfile/records/PZARRecordOutputSet.h"
#include "resultfile/records/PZARRecordReaction.h"
#include "resultfile/records/PZARRecordSolverInfo.h"
#include "resultfile/records/PZARRecordVersions.h"

// Result data store
#include "datastore/CacheFileInfo.h"
#include "datastore/InputMemoryFile.h"
#include "datastore/MemoryFile.h"
#include "datastore/PostCacheFileEntityLoaders.h"
#include "datastore/PostCacheFileUnitResultDataLoader.h"
#include "datastore/PostCacheFileUnitResultIDLoader.h"
#include "datastore/PostDSetContainer.h"
#include "datastore/PostDataEntityCaseDataLoader.h"
#include "datastore/PostDataEntityCaseInfoLoader.h"
#include "datastore/PostDataEntityCompLoader.h"
#include "datastore/PostDataLoader.h"

// Virtual results
#include "vresult/VResultPackage.h"

// Mesh post unit
#include "ibm/MPUBody.h"
#include "ibm/MPUData.h"
#include "ibm/MPUFacet.h"
#include "ibm/MPUGeometry.h"
#include "ibm/MPUGlobalMesh.h"
#include "ibm/MPURecords.h"
#include "ibm/MeshPostUnit.h"

// Grid results: global data, data ranges, element interpolation, display-list items
#include "ibm/IBMGlobalD.h"
#include "ibm/IBMGlobalElem.h"
#include "ibm/IBMGlobalElemBase.h"
#include "ibm/IBMGlobalElemVolume.h"
#include "ibm/IBMGlobalFacet.h"
#include "ibm/IBMGlobalKernel.h"
#include "ibm/IBMGlobalMesh.h"
#include "ibm/IBMGlobalNone.h"
#include "ibm/IBMGlobalParam.h"
#include "ibm/IBMGlobalRange.h"
#include "ibm/IBMGlobalVect.h"
#include "ibm/IBMGlobalVolume.h"
#include "ibm/IBMPDLItem.h"
#include "ibm/IBMPDLResultCase.h"
#include "ibm/MPUPostProvider.h"
#include "ibm/PDLManager.h"
#include "ibm/PostFileMPUProvider.h"
#include "ibm/ShapeFuncHexa.h"

// Result vector records and their loaders
#include "resultfile/PZARElemCSysLoader.h"
#include "resultfile/records/PZARRecordConcNodalVector.h"
#include "resultfile/records/PZARRecordElemCsys.h"
#include "resultfile/records/PZARRecordEntityCaseInfo.h"
#include "resultfile/records/PZARRecordVector.h"
#include "resultfile/records/PZARResultInfo.h"
#include "session/ElemTypeTable.h"

// Data sets and components
#include "datastore/PostDComp.h"
#include "datastore/PostDSet.h"
#include "datastore/PostDSetEntity.h"
#include "datastore/PostDSetEntityCaseData.h"
#include "datastore/PostDSetEntityCaseInfo.h"
#include "datastore/PostDSetEntityComp.h"
#include "datastore/PostDSetModelResult.h"
#include "datastore/PostDSetType.h"

// Result catalogue
#include "vresult/catalogue/VResultCatalogue.h"
#include "vresult/catalogue/VResultQuery_ZAR.h"

// Virtual result factory, component-type map, registration, package and modules
#include "vresult/CompTypeVResMap.h"
#include "vresult/CompTypeVResMapManager.h"
#include "vresult/VResultFactory.h"
#include "vresult/VResultFactoryManager.h"
#include "vresult/VResultModule.h"
#include "vresult/VResultRegistrar.h"

// Unit control, partial data and the virtual result base
#include "base/UnitControl.h"
#include "base/UnitDimension.h"
#include "datastore/AmtType.h"
#include "datastore/PostPartialD.h"
#include "datastore/PostPartialDList.h"
#include "vresult/VResult.h"
#include "vresult/VResultBinding.h"
#include "vresult/VResultCalcExpr.h"
#include "vresult/VResultCalculator.h"
#include "vresult/VResultTypes.h"
#include "vresult/VResult_ZAR.h"

// Scalar and vector result templates
#include "vresult/templates/VRTmplCSysConvert.h"
#include "vresult/templates/VRTmplCore.h"
#include "vresult/templates/VRTmpl_Comp6_ZAR.h"
#include "vresult/templates/VRTmpl_ScalarDirect.h"
#include "vresult/templates/VRTmpl_ScalarDirect_UnitEntity_CaseInfo.h"
#include "vresult/templates/VRTmpl_VectorComb.h"
#include "vresult/templates/VRTmpl_VectorComp.h"
#include "vresult/templates/VRTmpl_VectorComp_ZAR.h"
#include "vresult/templates/VRTmpl_VectorTotal.h"

// File managers and the model database of a file's own model records
#include "resultfile/PZARFileManager.h"
#include "resultfile/PZARFileModel.h"
#include "session/PostFileManager.h"
#include "session/QVEPostFileManager.h"
#include "session/ResultFileManager.h"

// Library facade, view options and post document and view listeners
#include "session/PostAPI.h"
#include "session/PostDocListener.h"
#include "session/PostListenerDlg.h"
#include "session/PostUpdateTypes.h"
#include "session/PostViewListener.h"
#include "session/PostViewOptAPI.h"

// Output coordinate systems and the base library's rotation helper
#include "base/MathFunc.h"
#include "csys/OutputCSysConvertAPI.h"
#include "csys/OutputCSysConverter_ZAR.h"
#include "csys/OutputCSysTypes.h"

// Animation: frame state, scale factors, control point orders and the ticking timer
#include "render/AnimAPI.h"
#include "render/AnimInfo.h"
#include "render/AnimTimer.h"
#include "render/CtrlPointSetMaker.h"

// Graphics layer: backends, buffers, textures, vertex-buffer models, part helpers; render data
#include "render/Buffer.h"
#include "render/GfxBackend.h"
#include "render/GfxEnums.h"
#include "render/OpenGLBackend.h"
#include "render/PartHelper.h"
#include "render/PostRndrData.h"
#include "render/RecordingBackend.h"
#include "render/RndrDTypes.h"
#include "render/Texture.h"
#include "render/VBOModel.h"

// Render data file streamer: animation frames cached in a memory file and stream files
#include "render/AnimCacheFolder.h"
#include "render/RndrVDFileStreammer.h"

// Legend value functions and the counting of values into legend bands
#include "render/LegendBandCounter.h"
#include "render/LegendValueFunc.h"
#include "render/LegendValueFuncEqualInterval.h"
#include "render/LegendValueFuncEqualPercent.h"

// Part loaders: textures of grid results for the grid body shaders
#include "render/PBodyAPI.h"
#include "render/PVKIBMPartLoader.h"
#include "render/PVKIBMPartLoaderHelper.h"
#include "render/PVKIBMPartLoaderHelperFatigue.h"
#include "render/PVKIBMPartLoaderHelperVolume.h"
