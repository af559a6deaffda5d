#!/usr/bin/env bash
# Checks the runtime's public interface: the headers listed in
# cmake/TavrelPublicHeaders.cmake compile on their own from a folder holding only
# them (so none needs a header a program does not get), and Doxygen builds the
# API reference from them without a single warning, so that every public
# declaration, argument and result is documented. The reference is left in
# build/docs/html (or the folder given as the first argument).
set -eu
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:-$root/build/docs}
mkdir -p "$out"

mapfile -t headers < <(sed -n '/^set(TAVREL_PUBLIC_HEADERS/,/^)/p' "$root/cmake/TavrelPublicHeaders.cmake" |
  grep -v '^set(\|^)' | sed 's/^[[:space:]]*//;s/[[:space:]]*$//' | grep -v '^$')
if [ ${#headers[@]} -eq 0 ]; then
  echo "check-docs: no headers found in cmake/TavrelPublicHeaders.cmake" >&2
  exit 1
fi

# The headers as an installed copy would hold them, and each compiled alone.
staged="$out/include"
rm -rf "$staged"
for h in "${headers[@]}"; do
  mkdir -p "$staged/$(dirname "$h")"
  cp "$root/$h" "$staged/$h"
done
cxx=${CXX:-c++}
for h in "${headers[@]}"; do
  if ! (cd "$staged" && echo "#include \"$h\"" | "$cxx" -std=c++20 -Wall -Wextra -Werror -pedantic \
      -fsyntax-only -I"$staged" -x c++ - 2>"$out/compile.log"); then
    echo "check-docs: $h does not compile on its own with only the public headers:" >&2
    cat "$out/compile.log" >&2
    exit 1
  fi
done

# The reference: any warning (an undocumented declaration, argument or result)
# fails the check.
warnings="$out/doxygen-warnings.log"
rm -f "$warnings"
inputs=$(printf '%s ' "${headers[@]/#/$staged/}")
status=0
(cd "$out" && TAVREL_DOC_INPUT="$inputs" TAVREL_DOC_OUTPUT="$out" TAVREL_DOC_ROOT="$staged/" \
  TAVREL_DOC_WARNINGS="$warnings" doxygen "$root/docs/Doxyfile") || status=$?
if [ -s "$warnings" ] || [ $status -ne 0 ]; then
  echo "check-docs: the API reference has warnings (doxygen status $status):" >&2
  [ -f "$warnings" ] && sed "s|$staged/||g" "$warnings" >&2
  exit 1
fi

# The size of the interface, as Doxygen counts it: functions, variables, types
# and constants of the files, the values of their enumerations, and the fields
# of the public structs.
python3 - "$out/xml" <<'PY'
import sys, glob, xml.etree.ElementTree as ET
documented = total = 0
missing = []
for path in glob.glob(sys.argv[1] + "/*.xml"):
    root = ET.parse(path).getroot()
    for compound in root.iter("compounddef"):
        if compound.get("kind") not in ("file", "struct"):
            continue
        items = list(compound.iter("memberdef"))
        if compound.get("kind") == "struct":
            items.append(compound)
        items += [v for m in items for v in m.iter("enumvalue")]
        for m in items:
            total += 1
            text = "".join(m.find("briefdescription").itertext()).strip() + \
                   "".join(m.find("detaileddescription").itertext()).strip()
            documented += bool(text)
            if not text:
                name = m.find("name") if m.find("name") is not None else m.find("compoundname")
                missing.append(name.text if name is not None else "?")
print(f"check-docs: {documented} of {total} public declarations documented; "
      "reference in " + sys.argv[1].rsplit("/", 1)[0] + "/html")
if missing:
    print("check-docs: undocumented: " + ", ".join(sorted(missing)), file=sys.stderr)
sys.exit(0 if documented == total else 1)
PY
