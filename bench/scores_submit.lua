-- A wrk script for the score server: each token a check brings back is spent by a later
-- submission on any connection, so about half the requests are submissions. It counts the
-- scores acknowledged, for the load script to compare with what the database holds.
local alphabet = "ABCDEFGHJKLMNPQRSTUVWXY123456789"
local threads = {}
local nextId = 1

function setup(thread)
  thread:set("id", nextId)
  nextId = nextId + 1
  table.insert(threads, thread)
end

tokens = {}
sent = 0
acknowledged = 0
refused = 0

-- The game's encoding: the payload's bits in groups of five, zero bits leading.
local function encode(text)
  local bits = #text * 8
  local group, filled = 0, (5 - bits % 5) % 5
  local out = {}
  for i = 1, #text do
    local byte = text:byte(i)
    for bit = 7, 0, -1 do
      group = group * 2 + math.floor(byte / 2 ^ bit) % 2
      filled = filled + 1
      if filled == 5 then
        out[#out + 1] = alphabet:sub(group + 1, group + 1)
        group, filled = 0, 0
      end
    end
  end
  return table.concat(out)
end

local function payload(token)
  sent = sent + 1
  local text = "type=0|name=w" .. id .. "n" .. sent .. "|score=" .. sent .. "|key=B|p=" ..
    token .. "|add=load|z="
  return text .. string.rep("0", (5 - #text % 5) % 5)
end

-- Many players: the server trusts wrk's address as a proxy, and each request comes from one
-- of 65,536 addresses, so the server's own per-client limits hold.
local function from()
  local n = math.random(0, 65535)
  return { ["X-Forwarded-For"] = "10." .. id .. "." .. math.floor(n / 256) .. "." .. n % 256 }
end

function request()
  if #tokens > 0 then
    local token = table.remove(tokens)
    return wrk.format("GET", "/cgi/version.pl?hs&prg=Brinecast&inf=" .. encode(payload(token)),
      from())
  end
  return wrk.format("GET", "/cgi/version.pl?version&prg=Brinecast", from())
end

function response(status, headers, body)
  local token = body:match("^OK|[^|]*|||([^|]+)|")
  if token then
    tokens[#tokens + 1] = token
  elseif status == 200 and body == "OK" then
    acknowledged = acknowledged + 1
  else
    refused = refused + 1
  end
end

function done(summary, latency, requests)
  local acked, bad = 0, 0
  for _, thread in ipairs(threads) do
    acked = acked + thread:get("acknowledged")
    bad = bad + thread:get("refused")
  end
  io.write(string.format("acknowledged %d refused %d seconds %.2f\n", acked, bad,
    summary.duration / 1e6))
end
