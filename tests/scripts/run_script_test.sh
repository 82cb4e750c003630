#!/bin/bash
# scripts/run.sh as a newcomer meets it, with apt-get, dpkg-query, sudo and
# cmake replaced by stand-ins on PATH: what it says while it installs and
# builds, what it shows when a step fails, and that it says nothing and
# starts the program when there is nothing to do.
# Usage: run_script_test.sh SOURCE_DIR
set -u
src=${1:?usage: run_script_test.sh SOURCE_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAIL: $*" >&2
    status=1
}

mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'FAKE'
#!/bin/bash
for p in "$@"; do
    [[ $p == -* ]] && continue
    [[ " $FAKE_MISSING " == *" $p "* ]] || echo "ii  $p"
done
FAKE
cat >"$work/bin/apt-get" <<'FAKE'
#!/bin/bash
echo "$*" >>"$FAKE_LOG"
if [[ -n $FAKE_APT_FAIL && $* == *install* ]]; then
    echo "E: Unable to locate package $FAKE_MISSING"
    exit 100
fi
echo "Setting up something"
FAKE
cat >"$work/bin/sudo" <<'FAKE'
#!/bin/bash
exec "$@"
FAKE
cat >"$work/bin/cmake" <<'FAKE'
#!/bin/bash
if [ "$1" = -S ]; then
    echo "-- Configuring done"
    if [ -n "$FAKE_CONFIGURE_FAIL" ]; then
        echo "CMake Error at CMakeLists.txt:1: Qt6 not found" >&2
        exit 1
    fi
    touch "$SEGMARK_BUILD_DIR/build.ninja"
    exit 0
fi
echo "[0/2] Re-checking globbed directories..."
case $FAKE_BUILD in
none) echo "ninja: no work to do." ;;
work)
    echo "[1/2] Building CXX object main.cpp.o"
    echo "[2/2] Linking CXX executable src/segmark"
    ;;
fail)
    echo "[1/2] Building CXX object main.cpp.o"
    echo "FAILED: main.cpp.o"
    echo "main.cpp:3:1: error: 'x' was not declared" >&2
    exit 1
    ;;
esac
FAKE
chmod +x "$work/bin/"*

b=$work/build
inst="Installing 1 Debian packages with apt-get: scdoc;  updating the package lists"
inst="$inst;  downloading and installing (this can take a few minutes)"
# name | missing packages | apt-get fails | configured | configuring fails | build | status | output, ; between lines
cases=(
    "nothing to do|||yes||none|0|window --version"
    "a fresh machine|scdoc||||work|0|$inst;  done;Configuring the build in $b;Building Segmark in $b;[1/2] Building CXX object main.cpp.o;[2/2] Linking CXX executable src/segmark;window --version"
    "apt-get fails|scdoc|yes|||work|1|$inst;E: Unable to locate package scdoc;setup-deps.sh: installing the packages failed (apt-get's messages are above)"
    "configuring fails||||yes|work|1|Configuring the build in $b;-- Configuring done;CMake Error at CMakeLists.txt:1: Qt6 not found;run.sh: configuring the build failed (CMake's messages are above)"
    "the build fails|||yes||fail|1|Building Segmark in $b;[1/2] Building CXX object main.cpp.o;FAILED: main.cpp.o;main.cpp:3:1: error: 'x' was not declared;run.sh: the build failed (the compiler's messages are above)"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name missing aptfail configured configfail build want_status want <<<"$c"
    rm -rf "$b" "$work/apt.log"
    mkdir -p "$b/src"
    printf '#!/bin/bash\necho "window $*"\n' >"$b/src/segmark"
    chmod +x "$b/src/segmark"
    [ -n "$configured" ] && touch "$b/build.ninja"
    got=$(PATH="$work/bin:$PATH" SEGMARK_BUILD_DIR="$b" FAKE_LOG="$work/apt.log" \
        FAKE_MISSING="$missing" FAKE_APT_FAIL="$aptfail" FAKE_CONFIGURE_FAIL="$configfail" \
        FAKE_BUILD="$build" bash "$src/scripts/run.sh" --version 2>&1 </dev/null)
    rc=$?
    [ "$rc" = "$want_status" ] || fail "$name: exit status $rc, expected $want_status"
    [ "$got" = "${want//;/$'\n'}" ] || fail "$name: said
$got
expected
${want//;/$'\n'}"
    if [ -n "$missing" ] && ! grep -q -- "install -y -qq --no-install-recommends $missing\$" "$work/apt.log"; then
        fail "$name: apt-get was not asked to install $missing: $(cat "$work/apt.log" 2>/dev/null)"
    fi
done
exit $status
