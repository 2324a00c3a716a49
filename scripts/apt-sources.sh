# Derives the source-package entries (deb-src) that the cross-build of the
# picture libraries needs from the machine's own enabled binary sources, so
# that a machine behind a mirror or a local cache fetches its sources from the
# same place, at the same versions. Sourced by scripts/setup.sh.
#
#   derive_deb_src ROOT [IGNORED_FILE]
#
# reads ROOT/etc/apt/sources.list and ROOT/etc/apt/sources.list.d/*.list and
# *.sources (classic one-line and deb822 forms; commented-out lines and
# stanzas with "Enabled: no" do not count), skips IGNORED_FILE (the file that
# setup writes itself), and prints deb822 stanzas of Types: deb-src for every
# address, suite and component that has a deb entry but no deb-src entry yet,
# with the deb entry's keyring (Signed-By) and Trusted option. It prints
# nothing when every deb entry already has its deb-src entry, and fails
# (status 1) when no enabled deb entry can be read at all.

# Prints one line per entry: TYPE \t URI \t SUITE \t COMPONENT \t SIGNED_BY \t TRUSTED
# (a flat suite such as "./" has an empty component; a multi-line Signed-By
# keeps its line breaks as \v).
apt_source_entries() {  # files...
  local f
  for f in "$@"; do
    [ -r "$f" ] || continue
    case "$f" in
      *.sources) awk -f - "$f" <<'AWK'
function flush(   i, j, k, nt, nu, ns, nc, t, u, s, c) {
  if (!have || tolower(fields["enabled"]) == "no") { delete fields; have = 0; return }
  nt = split(fields["types"], t, /[ \t\v]+/)
  nu = split(fields["uris"], u, /[ \t\v]+/)
  ns = split(fields["suites"], s, /[ \t\v]+/)
  nc = split(fields["components"], c, /[ \t\v]+/)
  for (i = 1; i <= nt; i++) for (j = 1; j <= nu; j++) for (k = 1; k <= ns; k++) {
    if (t[i] == "" || u[j] == "" || s[k] == "") continue
    if (s[k] ~ /\/$/ || nc == 0) { print t[i] "\t" u[j] "\t" s[k] "\t\t" fields["signed-by"] "\t" fields["trusted"]; continue }
    for (m = 1; m <= nc; m++) if (c[m] != "")
      print t[i] "\t" u[j] "\t" s[k] "\t" c[m] "\t" fields["signed-by"] "\t" fields["trusted"]
  }
  delete fields; have = 0
}
/^#/ { next }
/^[ \t]*$/ { flush(); last = ""; next }
/^[ \t]/ {  # continuation of the field before
  if (last != "") { line = $0; sub(/^[ \t]/, "", line); fields[last] = fields[last] "\v" line }
  next
}
{
  name = tolower(substr($0, 1, index($0, ":") - 1)); value = substr($0, index($0, ":") + 1)
  gsub(/^[ \t]+|[ \t]+$/, "", value)
  fields[name] = value; last = name; have = 1
}
END { flush() }
AWK
      ;;
      *) awk -f - "$f" <<'AWK'
{ sub(/#.*/, "") }
NF == 0 { next }
{
  type = $1; rest = substr($0, index($0, $1) + length($1))
  signed = ""; trusted = ""
  if (match(rest, /^[ \t]*\[[^]]*\]/)) {
    n = split(substr(rest, RSTART, RLENGTH), opts, /[][ \t]+/)
    for (i = 1; i <= n; i++) {
      if (opts[i] ~ /^signed-by=/) signed = substr(opts[i], 11)
      if (opts[i] ~ /^trusted=/) trusted = substr(opts[i], 9)
    }
    rest = substr(rest, RSTART + RLENGTH)
  }
  n = split(rest, w, /[ \t]+/); k = 0
  for (i = 1; i <= n; i++) if (w[i] != "") words[++k] = w[i]
  if (k < 2) next
  if (k == 2) { print type "\t" words[1] "\t" words[2] "\t\t" signed "\t" trusted; next }
  for (i = 3; i <= k; i++) print type "\t" words[1] "\t" words[2] "\t" words[i] "\t" signed "\t" trusted
}
AWK
      ;;
    esac
  done
}

derive_deb_src() {  # root [ignored-file]
  local root=${1:-} ignored=${2:-} files=() f entries
  [ -e "$root/etc/apt/sources.list" ] && files+=("$root/etc/apt/sources.list")
  for f in "$root"/etc/apt/sources.list.d/*.list "$root"/etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] && [ "$f" != "$ignored" ] && files+=("$f")
  done
  entries=$(apt_source_entries "${files[@]}")
  printf '%s\n' "$entries" | awk -F'\t' '
    function norm(u) { sub(/\/+$/, "", u); return u }
    $1 == "deb-src" { have[norm($2) "\t" $3 "\t" $4] = 1 }
    $1 == "deb" { debs[++n] = $0 }
    END {
      if (n == 0) exit 1
      for (i = 1; i <= n; i++) {
        split(debs[i], e, "\t")
        key = norm(e[2]) "\t" e[3] "\t" e[4]
        if (key in have) continue
        have[key] = 1
        group = e[2] "\t" e[3] "\t" e[5] "\t" e[6]
        if (!(group in comps)) order[++groups] = group
        comps[group] = comps[group] (comps[group] == "" ? "" : " ") e[4]
      }
      for (g = 1; g <= groups; g++) {
        split(order[g], e, "\t")
        if (g > 1) print ""
        print "Types: deb-src"
        print "URIs: " e[1]
        print "Suites: " e[2]
        if (comps[order[g]] != "") print "Components: " comps[order[g]]
        if (e[3] != "") { signed = e[3]; gsub(/\v/, "\n ", signed); print "Signed-By: " signed }
        if (e[4] != "") print "Trusted: " e[4]
      }
    }'
}
