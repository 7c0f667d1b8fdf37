# Reads a zew-sim trace ("[id] < line", "[id] > reply") and counts the
# exchanges that another connection broke into: a studied query line from one
# connection arriving while another connection's studied query waits for its
# reply. Prints "<exchanges> <interleavings>". The studied queries are the
# driver's single-call queries (and the raw clients' RDATA?); Connect's own
# lines are left out, as Connect opens the session before it can take the lock.
function studied(text) { return text ~ /^(RDATA|FUNCTION|BUZZERVOL)\?$/ }
$2 == "<" {
  id = $1; text = substr($0, length($1) + 4)
  if (!studied(text)) next
  for (other in open) if (other != id && open[other]) { interleavings++; break }
  open[id] = 1; exchanges++
  next
}
$2 == ">" { open[$1] = 0 }
END { printf "%d %d\n", exchanges, interleavings }
