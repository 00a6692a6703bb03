#!/usr/bin/env bash
# Usage: exports.sh LIBRARY
# The library's dynamic symbols hold the host's classes and facades, and none of the readers,
# kernels, hashing, graphics internals or result template machinery.
set -euo pipefail
symbols=$(nm -D --defined-only -C "$1")
status=0
for name in 'CQVEPOHSession::' 'CQVEPostFileManager::' 'IPostAPI::' 'CPZARFile::' \
  'CPostDSetContainer::' 'CVResultAPI::' 'COutputCSysConvertAPI::' 'CAnimAPI::' \
  'CLegendValueFuncEqualInterval::' 'CPDLManager::' 'CMemoryFile::' 'CString::' \
  'typeinfo for CFileException' 'zar::lib::GetTestEnvValue'; do
  grep -qF -- "$name" <<<"$symbols" || { echo "not exported: $name"; status=1; }
done
for name in 'pvk::vrtmpl::' 'pvk::picture::' 'pvk::csys::' 'pvk::cache::' 'pvk::mapfile::' \
  'pzar_record::' 'pzar_reaction::' 'zar::oglib::gl::' 'CBufferedFile' 'CTextLineReader' \
  'CIDPositions' 'CPoolEntryRanges' 'CTextRaster' 'ShapeFuncHexa' \
  'COutputCSysConverter_ZAR' 'CVResultTableRegistrar'; do
  # Owned by the internal name (a member of an exported class may still mention it).
  found=$(grep -E "^[0-9a-f]+ [A-Za-z] ((typeinfo|typeinfo name|vtable|VTT) for )?$name[^ (]*(::|\(|$)" \
    <<<"$symbols" || true)
  if [ -n "$found" ]; then
    echo "exported although internal: $name"
    head -3 <<<"$found"
    status=1
  fi
done
exit $status
