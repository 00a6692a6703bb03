#pragma once
// Where a virtual result sits in the case hierarchy of its session, as a display-list item
// and its provider need it.
class CPOHScas;
class CVResult;
class CVResultPackage;

namespace pvk::ibm {

// The package of the live step that holds the result; null when there is none.
CVResultPackage* FindResultPackage(const CVResult& vr);
// The live sub-case above the result's step; null when there is none.
const CPOHScas* FindResultSubCase(const CVResult& vr);

}  // namespace pvk::ibm
