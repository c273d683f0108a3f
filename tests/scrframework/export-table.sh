#!/usr/bin/env bash
# The export table of Plotvane.scr, read with the toolchain's object dumper: it lists the
# screen-saver framework's public classes and functions, and nothing else of the module.
# Usage: export-table.sh OBJDUMP Plotvane.scr
set -euo pipefail
objdump=$1 module=$2
fail() { echo "FAILED: $*" >&2; exit 1; }

# The names of "[Ordinal/Name Pointer] Table", one per line, demangled.
names=$("$objdump" -p "$module" |
  sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/{/Name Pointer\] Table/d;s/^.*\] //p}' | c++filt)
[[ -n "$names" ]] || fail "no export table in $module"

classes='TScrControl|TScrBase|TScrForm|TScrDialog|TScrGeneral|TScrMonitor|TScrSettings|TScrExtraSettings|TScrRegistry|TScrTimer|TThreadMiser|TProxy'
functions='ScrDebug|ScrControl|ScrMode|ScrPreview|ScrFull|ScrConfig|ScrTerminate|SageOk|InitialiseRegistry|ScrControlPolicy|ParseCommandLine|CheckForScrprev|StopAppWindowFromAppearingOnTaskbar|DefaultChangePasswordDialog|DefaultVerifyPasswordDialog|DefaultAboutDialog'

# Every class and function is there.
for class in ${classes//|/ }; do
  grep -q "^$class::" <<<"$names" || fail "no member of $class exported"
  # Every class but the registry accessor is a component, with virtual functions.
  [[ $class == TScrRegistry ]] || grep -q "^vtable for $class\$" <<<"$names" ||
    fail "no vtable of $class exported"
done
for function in ${functions//|/ }; do
  grep -q "^$function(" <<<"$names" || fail "$function is not exported"
done
# Nothing else is: no toolkit, engine or graph saver symbol.
others=$(grep -Ev "^(($classes)::|(vtable|typeinfo|typeinfo name) for ($classes)\$|($functions)\()" <<<"$names" || true)
[[ -z "$others" ]] || fail "exports beyond the framework: $(head -5 <<<"$others")"
echo "$(wc -l <<<"$names") names, all of the framework"
