'use strict';
// The S3-compatible server of the upload tests on 127.0.0.1: s3rver (pinned in
// package.json) behind a front that checks each request as S3 does. s3rver 3.7.1 takes any
// Signature Version 4 of a known access key without computing it, so the front computes
// it: a wrong secret, a header changed after signing or a body whose SHA-256 is not the
// one signed is refused here, as S3 refuses it.
//
// Prints "port N" once it listens, logs "METHOD host/path STATUS" (the host without its
// port, the path decoded) for each request to the events file, and ends when its standard input closes. Buckets are
// reached path-style (127.0.0.1:N/bucket/key) or virtual-host-style
// (bucket.s3.localhost:N/key; libcurl resolves any name under "localhost" to 127.0.0.1).
// Objects are stored by s3rver below --root as "bucket/key._S3rver_object".

const crypto = require('crypto');
const fs = require('fs');
const http = require('http');
const S3rver = require('s3rver');
const AWSAccount = require('s3rver/lib/models/account');

function options() {
  const given = {
    root: '',
    events: '',
    bucket: 'snap',
    accessKey: 'SNAPDECKTEST',
    secret: 'snapdeck-test-secret',
  };
  const names = {
    '--root': 'root',
    '--events': 'events',
    '--bucket': 'bucket',
    '--access-key': 'accessKey',
    '--secret': 'secret',
  };
  const args = process.argv.slice(2);
  for (let i = 0; i + 1 < args.length; i += 2) {
    if (!(args[i] in names)) throw new Error('unknown option ' + args[i]);
    given[names[args[i]]] = args[i + 1];
  }
  if (!given.root || !given.events) throw new Error('--root and --events are needed');
  return given;
}

const sha256Hex = data => crypto.createHash('sha256').update(data).digest('hex');
const hmac = (key, text) => crypto.createHmac('sha256', key).update(text, 'utf8').digest();

// Each segment of the path decoded, then encoded as S3 does: everything but A-Z a-z 0-9
// - . _ ~ as %XX, upper case.
function canonicalPath(rawPath) {
  return rawPath
    .split('/')
    .map(segment =>
      encodeURIComponent(decodeURIComponent(segment)).replace(
        /[!'()*]/g,
        c => '%' + c.charCodeAt(0).toString(16).toUpperCase(),
      ),
    )
    .join('/');
}

function canonicalQuery(rawQuery) {
  if (!rawQuery) return '';
  const encode = text =>
    encodeURIComponent(text).replace(
      /[!'()*]/g,
      c => '%' + c.charCodeAt(0).toString(16).toUpperCase(),
    );
  return rawQuery
    .split('&')
    .map(pair => {
      const [key, ...value] = pair.split('=');
      return [encode(decodeURIComponent(key)), encode(decodeURIComponent(value.join('=')))];
    })
    .sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : a[1] < b[1] ? -1 : 1))
    .map(pair => pair.join('='))
    .join('&');
}

// The signature S3 computes for a request with these parts.
function expectedSignature({ method, rawPath, rawQuery, headers, signedHeaders, payloadHash,
  amzDate, scope, secret }) {
  const canonicalHeaders = signedHeaders
    .map(name => `${name}:${String(headers[name] ?? '').trim().replace(/\s+/g, ' ')}\n`)
    .join('');
  const canonicalRequest = [
    method,
    canonicalPath(rawPath),
    canonicalQuery(rawQuery),
    canonicalHeaders,
    signedHeaders.join(';'),
    payloadHash,
  ].join('\n');
  const stringToSign = ['AWS4-HMAC-SHA256', amzDate, scope, sha256Hex(canonicalRequest)].join(
    '\n',
  );
  const [date, region, service, terminator] = scope.split('/');
  let key = hmac('AWS4' + secret, date);
  for (const part of [region, service, terminator]) key = hmac(key, part);
  return crypto.createHmac('sha256', key).update(stringToSign, 'utf8').digest('hex');
}

// The example of a signed GET in the S3 documentation: the front refuses to start with a
// computation that does not reproduce it.
function checkAgainstTheDocumentedExample() {
  const signature = expectedSignature({
    method: 'GET',
    rawPath: '/test.txt',
    rawQuery: '',
    headers: {
      host: 'examplebucket.s3.amazonaws.com',
      range: 'bytes=0-9',
      'x-amz-content-sha256': sha256Hex(''),
      'x-amz-date': '20130524T000000Z',
    },
    signedHeaders: ['host', 'range', 'x-amz-content-sha256', 'x-amz-date'],
    payloadHash: sha256Hex(''),
    amzDate: '20130524T000000Z',
    scope: '20130524/us-east-1/s3/aws4_request',
    secret: 'wJalrXUtnFEMI/K7MDENG/bPxRfiCYEXAMPLEKEY',
  });
  if (signature !== 'f0e8bdb87c964420e857bd35b5d6ed310bd44f0170aba48dd91039c6036bdb41')
    throw new Error('the signature check does not reproduce the documented example');
}

// Why S3 would refuse the request, as [status, code]; nothing when it is well signed.
function refusal(request, body, given) {
  const authorization = request.headers['authorization'] || '';
  const match =
    /^AWS4-HMAC-SHA256 Credential=([^/,]+)\/([^,]+), ?SignedHeaders=([^,]+), ?Signature=([0-9a-f]{64})$/.exec(
      authorization,
    );
  if (!match) return [403, 'AccessDenied'];
  const [, accessKey, scope, signedList, signature] = match;
  if (accessKey !== given.accessKey) return [403, 'InvalidAccessKeyId'];
  const signedHeaders = signedList.split(';');
  const payloadHash = request.headers['x-amz-content-sha256'];
  const amzDate = request.headers['x-amz-date'];
  if (!payloadHash || !amzDate || !signedHeaders.includes('host'))
    return [400, 'InvalidRequest'];
  if (payloadHash !== 'UNSIGNED-PAYLOAD' && payloadHash !== sha256Hex(body))
    return [400, 'XAmzContentSHA256Mismatch'];
  const [rawPath, rawQuery] = request.url.split('?');
  let expected;
  try {
    expected = expectedSignature({
      method: request.method,
      rawPath,
      rawQuery,
      headers: request.headers,
      signedHeaders,
      payloadHash,
      amzDate,
      scope,
      secret: given.secret,
    });
  } catch (error) {
    return [400, 'InvalidURI'];
  }
  return expected === signature ? null : [403, 'SignatureDoesNotMatch'];
}

async function main() {
  const given = options();
  checkAgainstTheDocumentedExample();
  const events = fs.openSync(given.events, 'a');
  const note = (request, status) => {
    let path = request.url;
    try {
      path = decodeURIComponent(request.url);
    } catch (error) {
      // logged as it came
    }
    const host = (request.headers.host || '').replace(/:\d+$/, '');
    fs.writeSync(events, `${request.method} ${host}${path} ${status}\n`);
  };

  AWSAccount.DUMMY_ACCOUNT.createKeyPair(given.accessKey, given.secret);
  const store = await new S3rver({
    address: '127.0.0.1',
    port: 0,
    silent: true,
    directory: given.root,
    serviceEndpoint: 'localhost',
    configureBuckets: [{ name: given.bucket, configs: [] }],
  }).run();

  const front = http.createServer((request, response) => {
    const chunks = [];
    request.on('data', chunk => chunks.push(chunk));
    request.on('end', () => {
      const body = Buffer.concat(chunks);
      const refused = refusal(request, body, given);
      if (refused) {
        const [status, code] = refused;
        note(request, `${status} ${code}`); // before the client hears the answer
        response.writeHead(status, { 'Content-Type': 'application/xml' });
        response.end(`<?xml version="1.0" encoding="UTF-8"?>\n<Error><Code>${code}</Code></Error>`);
        return;
      }
      const forwarded = http.request(
        {
          host: '127.0.0.1',
          port: store.port,
          method: request.method,
          path: request.url,
          headers: request.headers,
        },
        answer => {
          note(request, answer.statusCode);
          response.writeHead(answer.statusCode, answer.headers);
          answer.pipe(response);
        },
      );
      forwarded.on('error', () => {
        note(request, 500);
        response.writeHead(500);
        response.end();
      });
      forwarded.end(body);
    });
  });
  front.listen(0, '127.0.0.1', () => {
    process.stdout.write(`port ${front.address().port}\n`);
  });
  process.stdin.on('data', () => {});
  process.stdin.on('end', () => process.exit(0));
}

main().catch(error => {
  process.stdout.write(`failed ${error.message}\n`);
  process.exit(1);
});
