#!/bin/sh
# scripts/deps.sh against stand-ins on its PATH, so nothing is installed: dpkg-query reports the package
# in $MISSING as not installed, id answers $FAKE_UID, apt-get and sudo only record how they were called.
set -eu
deps=$1
bash=$(command -v bash)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/bin" "$dir/nosudo"
cat > "$dir/bin/dpkg-query" <<'STUB'
#!/bin/sh
for package; do :; done
[ "$package" = "$MISSING" ] || printf 'install ok installed'
STUB
printf '#!/bin/sh\necho "$FAKE_UID"\n' > "$dir/bin/id"
printf '#!/bin/sh\necho "${DEBIAN_FRONTEND:+DEBIAN_FRONTEND=$DEBIAN_FRONTEND }apt-get $*" >> "$LOG"\n' > "$dir/bin/apt-get"
printf '#!/bin/sh\necho "sudo $*" >> "$LOG"\n' > "$dir/bin/sudo"
chmod +x "$dir"/bin/*
ln -s "$(command -v grep)" "$dir/bin/grep"
cp -P "$dir/bin/dpkg-query" "$dir/bin/id" "$dir/bin/apt-get" "$dir/bin/grep" "$dir/nosudo/"

failed=0
# case name, bin folder, uid, missing package, expected exit code, expected calls (lines)
check() {
    : > "$dir/log"
    code=0
    env -i PATH="$dir/$2" LOG="$dir/log" FAKE_UID="$3" MISSING="$4" "$bash" "$deps" > "$dir/out" 2>&1 || code=$?
    if [ "$code" != "$5" ] || [ "$(cat "$dir/log")" != "$6" ]; then
        echo "FAIL $1: exit $code (expected $5), calls:"; cat "$dir/log"; cat "$dir/out"
        failed=1
    fi
}
check "nothing missing" bin 1000 "" 0 ""
check "root without sudo" bin 0 xdotool 0 "apt-get update -q
DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xdotool"
check "user with sudo" bin 1000 xdotool 0 "sudo apt-get update -q
sudo DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xdotool"
check "user without sudo" nosudo 1000 xdotool 1 ""
grep -q "apt-get install --no-install-recommends xdotool" "$dir/out" || { echo "FAIL no-sudo message:"; cat "$dir/out"; failed=1; }
exit $failed
