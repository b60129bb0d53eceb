#!/usr/bin/env bash
# Builds a fresh Debian 13 (trixie) root with debootstrap and runs inside it,
# on a copy of the repository's files: the README's main command
# (scripts/demo.sh), the Debian package's check and its installation, and a
# mixed run of the installed programs (a Firebird 3 source, ODS 12, into a
# Firebird 4 destination, ODS 13.0, and the other way round). With
# COMPLETO=1 it also runs scripts/testar.sh there. Needs root and the Debian
# mirror; the root is unmounted and removed at the end, whatever happens.
# DEBIAN13_RAIZ names the folder to use (it must not exist yet).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -ne 0 ]; then
  echo "testar-debian13: must run as root (debootstrap, chroot, mount)" >&2
  exit 1
fi
if ! command -v debootstrap >/dev/null; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

ESPELHO="${DEBIAN13_ESPELHO:-http://deb.debian.org/debian}"
BASE="$(mktemp -d /var/tmp/conversor-debian13.XXXXXX)"
RAIZ="${DEBIAN13_RAIZ:-$BASE/raiz}"
inicio=$(date +%s)

desmonta() {
  # Deepest first; only what is mounted inside this root.
  local pontos
  pontos="$(awk -v r="$RAIZ/" 'index($2, r) == 1 {print $2}' /proc/self/mounts | sort -r)"
  for p in $pontos; do
    umount "$p" 2>/dev/null || umount -l "$p"
  done
}
limpa() {
  local status=$?
  desmonta
  if awk -v r="$RAIZ/" 'index($2, r) == 1' /proc/self/mounts | grep -q .; then
    echo "testar-debian13: something is still mounted under $RAIZ; it is left in place" >&2
  else
    rm -rf "$RAIZ" "$BASE"
  fi
  echo "testar-debian13: $(($(date +%s) - inicio)) s" >&2
  exit "$status"
}
trap limpa EXIT

echo "== debootstrap trixie em $RAIZ"
debootstrap --variant=minbase trixie "$RAIZ" "$ESPELHO" >"$BASE/debootstrap.log" 2>&1 ||
  { tail -20 "$BASE/debootstrap.log" >&2; exit 1; }

# The kernel's file systems the programs need, each the root's own: never the
# host's /dev.
mount -t proc proc "$RAIZ/proc"
mount -t devpts -o newinstance,ptmxmode=0666,mode=620 devpts "$RAIZ/dev/pts"
mkdir -p "$RAIZ/dev/shm"
mount -t tmpfs -o mode=1777 tmpfs "$RAIZ/dev/shm"
mount -t tmpfs -o mode=1777 tmpfs "$RAIZ/tmp"
cp /etc/resolv.conf "$RAIZ/etc/resolv.conf"

# The repository's files as they are in the working tree, copied.
FONTE=/root/conversor
mkdir -p "$RAIZ$FONTE"
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$RAIZ$FONTE"

dentro() {
  chroot "$RAIZ" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb bash -c "cd $FONTE && $1"
}

echo "== bash scripts/demo.sh (Debian 13)"
dentro 'bash scripts/demo.sh'

echo "== pacote (Debian 13)"
dentro 'bash scripts/testar-pacote.sh && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq ./build/pacote/*.deb >/dev/null &&
  dpkg-query -W conversor-zorvan-grafica'

echo "== rodada mista Firebird 3 / Firebird 4 com o pacote instalado"
dentro 'bash scripts/rodada-mista.sh /usr/bin'

if [ "${COMPLETO:-0}" = 1 ]; then
  echo "== bash scripts/testar.sh (Debian 13)"
  dentro 'bash scripts/testar.sh'
fi
echo "testar-debian13: ok"
